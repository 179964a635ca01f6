INSERT INTO `ps_feature_product` (`id_feature`,`id_product`,`id_feature_value`) VALUES (3,2,1);
INSERT INTO `ps_feature_product` (`id_feature`,`id_product`,`id_feature_value`) VALUES (4,2,2);
INSERT INTO `ps_feature_product` (`id_feature`,`id_product`,`id_feature_value`) VALUES (1,1,3);
INSERT INTO `ps_feature_product` (`id_feature`,`id_product`,`id_feature_value`) VALUES (2,1,4);
INSERT INTO `ps_feature_product` (`id_feature`,`id_product`,`id_feature_value`) VALUES (4,1,5);
