INSERT INTO `ps_feature_product` (`id_feature`,`id_product`,`id_feature_value`) VALUES (2,8,1),(1,8,2);
