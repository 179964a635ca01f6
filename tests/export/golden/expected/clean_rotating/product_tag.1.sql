INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (2,1),(2,2),(3,3);
INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (1,4),(1,5),(1,6);
