INSERT INTO `ps_supplier_shop` (`id_supplier`,`id_shop`) VALUES (1,1);
INSERT INTO `ps_supplier_shop` (`id_supplier`,`id_shop`) VALUES (2,1);
INSERT INTO `ps_supplier_shop` (`id_supplier`,`id_shop`) VALUES (3,1);
INSERT INTO `ps_supplier_shop` (`id_supplier`,`id_shop`) VALUES (4,1);
INSERT INTO `ps_supplier_shop` (`id_supplier`,`id_shop`) VALUES (6,1);
